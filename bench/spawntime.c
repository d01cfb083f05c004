/* Times whole runs of several programs, interleaved: each round starts every program once, in a rotating
 * order, so that the machine's drift falls on all of them alike.
 * Usage: spawntime ROUNDS FOLDER PROGRAM...
 *   PROGRAM is LABEL:STYLE:PATH[:ARGUMENT], STYLE "path" (one argument FOLDER/LABEL/N) or "parent-name"
 *   (two arguments FOLDER/LABEL and N). ARGUMENT, if given, comes first (busybox's applet name).
 * Runs ROUNDS rounds on fresh folders, then ROUNDS on the same folders again, now existing.
 * Prints per program: LABEL FRESH_MEDIAN_NS EXISTING_MEDIAN_NS PEAK_RSS_KB (median). */
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>

extern char **environ;

enum { MAX_PROGRAMS = 8, MAX_ROUNDS = 100000 };

struct program {
    char *label, *style, *path, *argument;
    long long *times[2];
    long *rss;
};

static int compare_times(const void *a, const void *b)
{
    const long long x = *(const long long *)a, y = *(const long long *)b;
    return (x > y) - (x < y);
}

static int compare_sizes(const void *a, const void *b)
{
    const long x = *(const long *)a, y = *(const long *)b;
    return (x > y) - (x < y);
}

static long long nanoseconds(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

static void run(struct program *p, const char *folder, int round, int pass, posix_spawn_file_actions_t *quiet)
{
    char parent[4096], path[4096 + 32], name[32];
    snprintf(parent, sizeof parent, "%s/%s", folder, p->label);
    snprintf(name, sizeof name, "%d", round);
    snprintf(path, sizeof path, "%s/%s", parent, name);
    char *argv[5];
    int n = 0;
    argv[n++] = p->path;
    if (p->argument) argv[n++] = p->argument;
    if (strcmp(p->style, "parent-name") == 0) {
        argv[n++] = parent;
        argv[n++] = name;
    } else {
        argv[n++] = path;
    }
    argv[n] = NULL;

    const long long start = nanoseconds();
    pid_t child;
    if (posix_spawn(&child, p->path, quiet, NULL, argv, environ) != 0) {
        perror(p->path);
        exit(1);
    }
    int status;
    struct rusage usage;
    wait4(child, &status, 0, &usage);
    p->times[pass][round] = nanoseconds() - start;
    if (pass == 0) p->rss[round] = usage.ru_maxrss;
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
    if (rounds < 1 || rounds > MAX_ROUNDS || count > MAX_PROGRAMS) return 2;

    struct program programs[MAX_PROGRAMS];
    for (int i = 0; i < count; ++i) {
        struct program *p = &programs[i];
        p->label = strtok(argv[3 + i], ":");
        p->style = strtok(NULL, ":");
        p->path = strtok(NULL, ":");
        p->argument = strtok(NULL, ":");
        p->times[0] = calloc(rounds, sizeof(long long));
        p->times[1] = calloc(rounds, sizeof(long long));
        p->rss = calloc(rounds, sizeof(long));
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
            for (int k = 0; k < count; ++k) run(&programs[(round + k) % count], folder, round, pass, &quiet);

    for (int i = 0; i < count; ++i) {
        struct program *p = &programs[i];
        qsort(p->times[0], rounds, sizeof(long long), compare_times);
        qsort(p->times[1], rounds, sizeof(long long), compare_times);
        qsort(p->rss, rounds, sizeof(long), compare_sizes);
        printf("%s %lld %lld %ld\n", p->label, p->times[0][rounds / 2], p->times[1][rounds / 2], p->rss[rounds / 2]);
    }
    return 0;
}
