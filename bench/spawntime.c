// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
/* Times whole runs of several programs, interleaved: each round starts every program once, in a rotating
 * order, so that the machine's drift falls on all of them alike.
 * Usage: spawntime ROUNDS FOLDER PROGRAM...
 *   PROGRAM is LABEL:STYLE:PATH[:ARGUMENT], STYLE "path" (one argument FOLDER/LABEL/N) or "parent-name"
 *   (two arguments FOLDER/LABEL and N). ARGUMENT, if given, comes first (busybox's applet name).
 * Runs ROUNDS rounds on fresh folders, then ROUNDS on the same folders again, now existing; fails when a
 * run on a fresh folder does not end with 0, or one on an existing folder with 0 or 1.
 * Prints per program: LABEL FRESH_MEDIAN_NS EXISTING_MEDIAN_NS PEAK_RESIDENT_KB, the last the high-water
 * mark (VmHWM) of one more run (on an existing folder), read while ptrace holds it at its exit: the
 * rusage figure (ru_maxrss) would count the spawner's own pages and reads 0 for programs this small. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

enum { MAX_PROGRAMS = 8, MAX_ROUNDS = 100000 };

/* A program and its command line, whose last arguments point into its own buffers: FOLDER/LABEL, and
 * FOLDER/LABEL/N, its last part the name N that set_round writes. */
struct program {
    char *label, *path, *name, *argv[5];
    char parent[4096], target[4096 + 16];
    long long *times[2];
};

static int compare_times(const void *a, const void *b)
{
    const long long x = *(const long long *)a, y = *(const long long *)b;
    return (x > y) - (x < y);
}

static long long nanoseconds(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

static void set_round(struct program *p, int round)
{
    snprintf(p->name, 16, "%d", round);
}

/* What the programs print (coreutils mkdir complains about existing folders) goes nowhere. */
static posix_spawn_file_actions_t quiet;
static int null_device;

static void run(struct program *p, int round, int pass)
{
    set_round(p, round);
    const long long start = nanoseconds();
    int status = -1; /* neither an exit nor a signal, should the spawn fail */
    pid_t child;
    if (posix_spawn(&child, p->path, &quiet, NULL, p->argv, environ) == 0)
        waitpid(child, &status, 0);
    p->times[pass][round] = nanoseconds() - start;
    /* A fresh folder must be made (0); an existing one may be refused (1), but nothing may crash. */
    if (!WIFEXITED(status) || WEXITSTATUS(status) > pass) {
        fprintf(stderr, "spawntime: %s on a%s folder: wait status %#x\n", p->label,
                pass ? "n existing" : " fresh", (unsigned)status);
        exit(1);
    }
}

/* Peak kilobytes resident in one run of `p`. */
static long peak_resident(struct program *p)
{
    set_round(p, 0);
    const pid_t child = fork();
    if (child == 0) {
        ptrace(PTRACE_TRACEME, 0, NULL, NULL);
        dup2(null_device, 1);
        dup2(null_device, 2);
        execv(p->path, p->argv);
        _exit(127);
    }
    int status;
    waitpid(child, &status, 0); /* stopped at exec */
    ptrace(PTRACE_SETOPTIONS, child, NULL, (void *)PTRACE_O_TRACEEXIT);
    long kilobytes = -1;
    char file[64], text[256];
    snprintf(file, sizeof file, "/proc/%d/status", (int)child);
    do {
        FILE *at_exit = status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8)) ? fopen(file, "r") : NULL;
        while (at_exit && fgets(text, sizeof text, at_exit) && sscanf(text, "VmHWM: %ld kB", &kilobytes) != 1)
            continue;
        if (at_exit)
            fclose(at_exit);
        ptrace(PTRACE_CONT, child, NULL, NULL);
    } while (waitpid(child, &status, 0) == child && WIFSTOPPED(status));
    return kilobytes;
}

int main(int argc, char **argv)
{
    const int rounds = argc < 4 ? 0 : atoi(argv[1]), count = argc - 3;
    if (rounds < 1 || rounds > MAX_ROUNDS || count > MAX_PROGRAMS) {
        fprintf(stderr, "usage: spawntime ROUNDS FOLDER LABEL:STYLE:PATH[:ARGUMENT]...\n");
        return 2;
    }
    static struct program programs[MAX_PROGRAMS];
    for (int i = 0; i < count; ++i) {
        struct program *p = &programs[i];
        p->label = strtok(argv[3 + i], ":");
        const char *style = strtok(NULL, ":");
        p->path = strtok(NULL, ":");
        snprintf(p->parent, sizeof p->parent, "%s/%s", argv[2], p->label);
        mkdir(p->parent, 0777);
        snprintf(p->target, sizeof p->target - 16, "%s/%s/", argv[2], p->label);
        p->name = p->target + strlen(p->target);
        char *argument = strtok(NULL, ":"), *slash = strrchr(p->path, '/'), **next = p->argv;
        *next++ = slash ? slash + 1 : p->path; /* its name, as a shell gives it from PATH */
        if (argument)
            *next++ = argument;
        const int two = strcmp(style, "parent-name") == 0;
        if (two)
            *next++ = p->parent;
        *next = two ? p->name : p->target;
        p->times[0] = calloc(rounds, sizeof(long long));
        p->times[1] = calloc(rounds, sizeof(long long));
    }

    null_device = open("/dev/null", O_WRONLY);
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_adddup2(&quiet, null_device, 1);
    posix_spawn_file_actions_adddup2(&quiet, null_device, 2);
    for (int pass = 0; pass < 2; ++pass)
        for (int round = 0; round < rounds; ++round)
            for (int k = 0; k < count; ++k)
                run(&programs[(round + k) % count], round, pass);

    for (int i = 0; i < count; ++i) {
        struct program *p = &programs[i];
        qsort(p->times[0], rounds, sizeof(long long), compare_times);
        qsort(p->times[1], rounds, sizeof(long long), compare_times);
        printf("%s %lld %lld %ld\n", p->label, p->times[0][rounds / 2], p->times[1][rounds / 2],
               peak_resident(p));
    }
    return 0;
}
