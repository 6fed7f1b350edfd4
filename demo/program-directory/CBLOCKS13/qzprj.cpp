void Task(const char* name);

int main()
{
    Task("Begin1");
    return 0;
}
