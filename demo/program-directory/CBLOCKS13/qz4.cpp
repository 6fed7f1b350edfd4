// Interface of the problem book for Code::Blocks (demo stand-in).
#include <iostream>

void Task(const char* name)
{
    std::cout << "Task " << name << ": the demo distribution holds no tasks.\n";
}
