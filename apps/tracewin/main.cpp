#include <cstdio>

int main(int argc, char** argv)
{
    (void)argc; (void)argv;
    std::puts("tracewin: nothing here yet");
    return 0;
}
