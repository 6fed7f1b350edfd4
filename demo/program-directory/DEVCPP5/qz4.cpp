// Interface of the problem book for Dev-C++ (demo stand-in).
#include <iostream>

void Task(const char* name)
{
    std::cout << "Task " << name << ": the demo distribution holds no tasks.\n";
}
