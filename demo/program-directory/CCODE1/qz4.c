// Interface of the problem book for C in Visual Studio Code (demo stand-in).
#include <stdio.h>

void Task(const char* name)
{
    printf("Task %s: the demo distribution holds no tasks.\n", name);
}
