// Parallel tasks of the problem book for C++ (demo stand-in).
void ParallelTask(const char* name);
