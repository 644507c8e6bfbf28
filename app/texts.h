#pragma once

// The shell's own texts. The source is UTF-8; the compiler emits these
// literals as code-page-936 bytes.

inline constexpr char kWindowTitle[] = "Velmora";
inline constexpr char kApplyButtonText[] = "应用更改";
inline constexpr char kCreditText[] =
    "一键切换 pip 国内镜像源 · Velmora 开发组";
inline constexpr char kFontFace[] = "小米兰亭 Pro";

inline constexpr char kStartFailedCaption[] = "Velmora";
inline constexpr char kStartFailedText[] = "无法创建程序窗口：";
