void Task(const char* name);
