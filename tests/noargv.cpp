// Starts the program named by its one argument with no argument vector at all (argc 0): no shell can.
#include <unistd.h>

int main(int /*argc*/, char *argv[])
{
    char *none[] = {nullptr};
    return execve(argv[1], none, environ) == 0 ? 0 : 127;
}
