// Program entry: replaced by the game loader as the framework lands.
int main()
{
    return 1;
}
