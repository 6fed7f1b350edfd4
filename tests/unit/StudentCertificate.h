// A student's certificate as the teacher's tool makes it, for tests of the
// repository: header "1.0|<name>|10-B|ivanov|School 5|" and the connection
// records of the tests' server.
#pragma once

#include "CertificateWriter.h"

#include <random>
#include <string>

namespace qz::test {

inline std::string StudentCertificate(const std::string& name) {
    std::mt19937 random(1);
    return BuildCertificate({name, "10-B", "ivanov", "School 5", "repo.example", "group10", "pass"},
                            random);
}

} // namespace qz::test
