// make-certificate: writes a repository certificate (access.dat) for a student.
#include "CertificateWriter.h"

#include <iostream>

int main(int argc, char** argv) {
    return qz::RunMakeCertificate(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
