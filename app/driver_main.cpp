#include <iostream>

#include "driver/driver.h"

// zanhost-driver: the program on virtual time, one command per line on
// standard input. The exit status is the number of failed commands (capped).
int main() {
    std::ios::sync_with_stdio(false);
    zan::Driver driver(std::cout);
    const int failures = driver.Run(std::cin);
    return failures > 100 ? 100 : failures;
}
