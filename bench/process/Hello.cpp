// The peer of the start-up benchmarks: a plain C++ program built with the same compiler and flags.
#include <iostream>

int main()
{
    std::cout << "hello\n";
    return 0;
}
