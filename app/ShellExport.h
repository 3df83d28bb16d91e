// Marks the shell's functions and classes that the program's module exports.
#pragma once

#if defined(_WIN32)
#  define VREL_SHELL_EXPORT __declspec(dllexport)
#else
#  define VREL_SHELL_EXPORT __attribute__((visibility("default")))
#endif
