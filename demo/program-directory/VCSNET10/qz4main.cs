// Entry of the problem book's tasks for Visual C# (demo stand-in).
using System;

namespace QZ4
{
    public static class QZ4Main
    {
        public static void Task(string name)
        {
            Console.WriteLine("Task " + name + ": the demo distribution holds no tasks.");
        }
    }
}
