using QZ4;

public static class Program
{
    public static void Solve()
    {
        QZ4Main.Task("Begin1");
    }
}
