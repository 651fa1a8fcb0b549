/* Preloaded into a run: raises SIGKILL right after the KILL_AFTER-th change
 * (write, length or reservation) to the file KILL_FILE names, so a test can
 * stop the program between any two of its changes to that file. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/types.h>

static long changes;

static void after_change(int fd) {
    const char *path = getenv("KILL_FILE"), *after = getenv("KILL_AFTER");
    struct stat target, file;
    if (!path || !after || stat(path, &target) != 0 || fstat(fd, &file) != 0) return;
    if (file.st_ino != target.st_ino || file.st_dev != target.st_dev) return;
    if (++changes == atol(after)) raise(SIGKILL);
}

#define CHANGE(ret, name, params, args)                                                            \
    ret name params {                                                                              \
        static ret(*real) params;                                                                  \
        if (!real) real = (ret(*) params)dlsym(RTLD_NEXT, #name);                                  \
        ret result = real args;                                                                    \
        after_change(fd);                                                                          \
        return result;                                                                             \
    }

CHANGE(ssize_t, write, (int fd, const void* data, size_t size), (fd, data, size))
CHANGE(int, ftruncate, (int fd, off_t size), (fd, size))
CHANGE(int, posix_fallocate, (int fd, off_t start, off_t size), (fd, start, size))
