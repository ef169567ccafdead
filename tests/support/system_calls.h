#pragma once
// The operating system's own calls that the file tests use beside the
// program's file operations: taking rights away, looking at a file's mode,
// and (on POSIX) killing a writer half-way.

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
