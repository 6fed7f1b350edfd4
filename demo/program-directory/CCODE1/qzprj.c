#include "qz4.h"

int main()
{
    Task("Begin1");
    return 0;
}
