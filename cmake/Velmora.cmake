# Shared build settings.

# Texts are written in UTF-8 and shipped as code-page-936 bytes.
function(velmora_compile_options target)
  if(MSVC)
    target_compile_options(${target} PRIVATE
      /source-charset:utf-8 /execution-charset:.936 /W4 /permissive-)
    target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
  else()
    target_compile_options(${target} PRIVATE
      -finput-charset=UTF-8 -fexec-charset=GBK -Wall -Wextra -pedantic)
  endif()
  if(WIN32)
    # The ANSI functions are the program's; nothing picks UNICODE by accident.
    target_compile_definitions(${target} PRIVATE
      WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
endfunction()

# A self-contained executable: no runtime DLL beyond Windows' own.
function(velmora_static_link target)
  if(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc
                        -static-libstdc++)
  elseif(MSVC)
    set_property(TARGET ${target} PROPERTY
      MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  endif()
endfunction()
