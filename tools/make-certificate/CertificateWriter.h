// The teacher's side of a repository certificate: builds the 20 records
// that DecodeCertificate and the working-directory page read.
#pragma once

#include <iosfwd>
#include <random>
#include <string>
#include <vector>

namespace qz {

struct CertificateContent {
    // Header fields, shown as "name\r\ngroup [login] note".
    std::string name;
    std::string group;
    std::string login;
    std::string note;
    // Connection data.
    std::string host; // optionally with ":port"
    std::string user;
    std::string password;
    std::string folder = ".";
};

// The file's 1580 bytes. Key numbers A and B and the filler of the records
// come from `random`, so one seed gives one file. Throws
// std::invalid_argument naming a field that does not fit its place or cannot
// be stored in CP866.
std::string BuildCertificate(const CertificateContent& content, std::mt19937& random);

// The command: make-certificate --out FILE --name NAME --host HOST[:PORT]
// --user USER --password PASSWORD [--group G] [--login L] [--note N]
// [--folder F] [--seed N]. Returns the exit code; messages go to `err`.
int RunMakeCertificate(const std::vector<std::string>& args, std::ostream& err);

} // namespace qz
