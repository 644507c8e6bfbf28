#pragma once

// Every text the mirror configuration shows. The source is UTF-8; the
// compiler emits these literals as code-page-936 bytes.

inline constexpr char kUpdateCaption[] = "更新软件源";

// Names pip's upgrade in the same words as UpgradeCommand runs it.
inline constexpr char kUpgradeQuestion[] =
    "软件源更新完毕，是否执行 python -m pip install --user --upgrade pip "
    "更新？";

inline constexpr char kWriteFailedIntro[] = "无法写入 pip 配置文件：";
inline constexpr char kNoAccountReason[] = "无法取得当前 Windows 账户名。";

inline constexpr char kUpgradeFailedIntro[] = "pip 升级没有成功：";
inline constexpr char kUpgradeExitCode[] = "命令的退出代码为 ";
inline constexpr char kUpgradeNotStarted[] = "无法启动命令：";
inline constexpr char kUpgradeHint[] =
    "在命令提示符中运行 \"python -m pip install --user --upgrade pip\" "
    "可以看到原因。";

inline constexpr char kErrorCode[] = "错误代码 ";

inline constexpr char kOverrideIntro[] =
    "pip 配置文件已写入，但 pip 仍会使用其他软件源：下面的设置优先于它。";
inline constexpr char kOverrideIndex[] = "软件源：";
inline constexpr char kOverrideHint[] =
    "删除或修改这些设置后，新选的软件源才会生效。";
