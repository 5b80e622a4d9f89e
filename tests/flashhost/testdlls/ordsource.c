// Exports one function by ordinal only and one by name.
int SourceValue(void)
{
    return 41;
}

int SourceNamed(void)
{
    return 5;
}
