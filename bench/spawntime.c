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
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

enum { MAX_PROGRAMS = 8, MAX_ROUNDS = 100000 };

struct program {
    char *label, *style, *path, *argument;
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

struct command_line {
    char parent[4096], path[4096 + 32], name[32];
    char *argv[5];
};

static void build(struct command_line *line, const struct program *p, const char *folder, int round)
{
    snprintf(line->parent, sizeof line->parent, "%s/%s", folder, p->label);
    snprintf(line->name, sizeof line->name, "%d", round);
    snprintf(line->path, sizeof line->path, "%s/%s", line->parent, line->name);
    int n = 0;
    const char *slash = strrchr(p->path, '/');
    line->argv[n++] = slash ? (char *)slash + 1 : p->path; /* its name, as a shell gives it from PATH */
    if (p->argument)
        line->argv[n++] = p->argument;
    if (strcmp(p->style, "parent-name") == 0) {
        line->argv[n++] = line->parent;
        line->argv[n++] = line->name;
    } else {
        line->argv[n++] = line->path;
    }
    line->argv[n] = NULL;
}

static void run(struct program *p, const char *folder, int round, int pass, posix_spawn_file_actions_t *quiet)
{
    struct command_line line;
    build(&line, p, folder, round);
    const long long start = nanoseconds();
    pid_t child;
    if (posix_spawn(&child, p->path, quiet, NULL, line.argv, environ) != 0) {
        perror(p->path);
        exit(1);
    }
    int status;
    waitpid(child, &status, 0);
    p->times[pass][round] = nanoseconds() - start;
    /* A fresh folder must be made (0); an existing one may be refused (1), but nothing may crash. */
    if (!WIFEXITED(status) || WEXITSTATUS(status) > pass) {
        fprintf(stderr, "spawntime: %s on a%s folder: %s %d\n", p->label, pass ? "n existing" : " fresh",
                WIFEXITED(status) ? "exit status" : "signal",
                WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status));
        exit(1);
    }
}

/* Peak kilobytes resident in one run of `p`. */
static long peak_resident(const struct program *p, const char *folder)
{
    struct command_line line;
    build(&line, p, folder, 0);
    const pid_t child = fork();
    if (child == 0) {
        ptrace(PTRACE_TRACEME, 0, NULL, NULL);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        execv(p->path, line.argv);
        _exit(127);
    }
    int status;
    waitpid(child, &status, 0); /* stopped at exec */
    ptrace(PTRACE_SETOPTIONS, child, NULL, (void *)PTRACE_O_TRACEEXIT);
    ptrace(PTRACE_CONT, child, NULL, NULL);
    long kilobytes = -1;
    while (waitpid(child, &status, 0) == child && WIFSTOPPED(status)) {
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
            char file[64], text[256];
            snprintf(file, sizeof file, "/proc/%d/status", (int)child);
            FILE *status_file = fopen(file, "r");
            while (status_file && fgets(text, sizeof text, status_file))
                if (sscanf(text, "VmHWM: %ld kB", &kilobytes) == 1)
                    break;
            if (status_file)
                fclose(status_file);
        }
        ptrace(PTRACE_CONT, child, NULL, NULL);
    }
    return kilobytes;
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: spawntime ROUNDS FOLDER LABEL:STYLE:PATH[:ARGUMENT]...\n");
        return 2;
    }
    const int rounds = atoi(argv[1]);
    const char *folder = argv[2];
    const int count = argc - 3;
    if (rounds < 1 || rounds > MAX_ROUNDS || count > MAX_PROGRAMS)
        return 2;

    struct program programs[MAX_PROGRAMS];
    for (int i = 0; i < count; ++i) {
        struct program *p = &programs[i];
        p->label = strtok(argv[3 + i], ":");
        p->style = strtok(NULL, ":");
        p->path = strtok(NULL, ":");
        p->argument = strtok(NULL, ":");
        p->times[0] = calloc(rounds, sizeof(long long));
        p->times[1] = calloc(rounds, sizeof(long long));
        char parent[4096];
        snprintf(parent, sizeof parent, "%s/%s", folder, p->label);
        mkdir(parent, 0777);
    }

    /* What the programs print (coreutils mkdir complains about existing folders) goes nowhere. */
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);

    for (int pass = 0; pass < 2; ++pass)
        for (int round = 0; round < rounds; ++round)
            for (int k = 0; k < count; ++k)
                run(&programs[(round + k) % count], folder, round, pass, &quiet);

    for (int i = 0; i < count; ++i) {
        struct program *p = &programs[i];
        qsort(p->times[0], rounds, sizeof(long long), compare_times);
        qsort(p->times[1], rounds, sizeof(long long), compare_times);
        printf("%s %lld %lld %ld\n", p->label, p->times[0][rounds / 2], p->times[1][rounds / 2],
               peak_resident(p, folder));
    }
    return 0;
}
