// make-distribution: builds an installer distribution from a folder tree.
#include "DistributionBuilder.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    namespace dist = qz::distribution;
    try {
        dist::Request request =
            dist::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
        const char* path = std::getenv("PATH");
        dist::MakeDistribution(request, dist::FindProgram("zip", path ? path : ""));
        std::cout << "make-distribution: wrote " << request.out.string() << " and "
                  << std::filesystem::path(request.out).replace_extension(".dat").string() << "\n";
        return 0;
    } catch (const std::exception& e) { // dist::Error, or a folder that cannot be read
        std::cerr << "make-distribution: " << e.what() << "\n";
        return 1;
    }
}
