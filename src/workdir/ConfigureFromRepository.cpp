#include "workdir/ConfigureFromRepository.h"

#include "locale/Format.h"
#include "locale/Language.h"
#include "text/Text.h"
#include "workdir/CertificateDecoder.h"
#include "workdir/CertificateHeader.h"
#include "workdir/DirTemplate.h"
#include "workdir/RemoteName.h"

#include <algorithm>
#include <optional>

namespace qz {
namespace {

// The four shortcuts every working directory gets from the template folder.
const char* const TemplateFolder = "C:\\QZ4Work\\";
const char* const Links[] = {"Load.lnk", "Demo.lnk", "Results.lnk", "Panel.lnk"};

// A certificate is 20 records of 79 bytes and a template one short line;
// a listed file far larger is not what it claims to be.
constexpr std::uint32_t MaxCertificateBytes = 64 * 1024;
constexpr std::uint32_t MaxTemplateBytes = 4 * 1024;

// An error that names what failed, joined by ", ".
RepositoryConfiguration listedFailure(const char* russian, const char* english,
                                      const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return {Format(Pick(russian, english), {text}), {}};
}

// A certificate's extension, from the last "." on, has at most two characters.
bool isCertificateName(const std::string& name) {
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos || name.size() - dot <= 2;
}

std::string noStudent(const std::string& group, const std::string& login) {
    return Format(Pick("В группе %s отсутствует учащийся с логином %s.",
                       "Group %s has no student with login %s."),
                  {group, login});
}

std::string listingFailed(const std::string& group) {
    return Format(Pick("Не удалось прочесть список файлов группы %s в репозитории.",
                       "Could not read the list of files of group %s in the repository."),
                  {group});
}

// Names listed more than once without regard to letter case: on Windows
// they are one file, so which of them is meant cannot be told.
std::vector<std::string> caseDuplicates(const std::vector<RemoteFileInfo>& listed) {
    std::vector<std::string> names;
    for (const auto& file : listed)
        for (const auto& other : listed)
            if (&file != &other && text::equalsIgnoreCase(file.name, other.name)) {
                names.push_back(file.name);
                break;
            }
    return names;
}

// The files one run downloads into the program directory. They are there
// only for the run: whatever it ends with, they are deleted then.
class RunDownloads {
public:
    RunDownloads(FileSystem& files, FtpSession& session, std::string folder)
        : files_(files), session_(session), folder_(std::move(folder)) {}
    RunDownloads(const RunDownloads&) = delete;
    RunDownloads& operator=(const RunDownloads&) = delete;
    ~RunDownloads() {
        for (const auto& name : names_)
            files_.deleteFile(path(name));
    }

    // Downloads a listed file of at most `limit` bytes; false, leaving
    // nothing, when the name is not a plain file name, the transfer fails,
    // or what arrived is not the size the listing gave (a transfer cut
    // short can still be reported as done).
    bool fetch(const RemoteFileInfo& file, std::uint32_t limit) {
        if (!IsSafeRemoteName(file.name) || file.size > limit)
            return false;
        names_.push_back(file.name);
        const std::string local = path(file.name);
        if (session_.downloadFile(file.name, local)) {
            auto arrived = files_.open(local, OpenMode::Read);
            if (arrived && arrived->size() == file.size)
                return true;
        }
        files_.deleteFile(local);
        return false;
    }

    std::string path(const std::string& name) const { return folder_ + name; }

    // The first line of a downloaded text file; empty when it cannot be read.
    std::string firstLine(const std::string& name) const {
        auto file = files_.open(path(name), OpenMode::Read);
        if (!file)
            return {};
        std::string text(file->size(), '\0');
        text.resize(file->read(text.data(), text.size()));
        return text.substr(0, text.find_first_of("\r\n"));
    }

private:
    FileSystem& files_;
    FtpSession& session_;
    std::string folder_;
    std::vector<std::string> names_;
};

} // namespace

RepositoryConfiguration ConfigureFromRepository(FileSystem& files, Ftp& ftp,
                                                const std::string& userProfile,
                                                const std::string& group, const std::string& login,
                                                const std::string& programDirectory) {
    const std::string& p = programDirectory;
    CertificateConnection connection = DecodeCertificate(files, p);
    if (!connection.valid)
        return {Format(Pick("Сертификат \"%s\" подключения к репозиторию имеет неверный формат.",
                            "The repository connection certificate \"%s\" has an invalid format."),
                       {p + "access.dat"}),
                {}};

    // A folder after the host is not used: the session starts in ".".
    std::string host = connection.host.substr(0, connection.host.find('/'));
    RepositorySession opened =
        ftp.openRepositorySession(host, ".", connection.user, connection.password);
    if (opened.status != SessionStatus::Connected)
        return {Pick("Невозможно подключиться к репозиторию.", "Cannot connect to the repository."),
                {}};
    FtpSession& session = *opened.session;
    if (!session.enterFolder("_accessdat_") || !session.enterFolder(group))
        return {Format(Pick("В репозитории не найдена группа %s.",
                            "Group %s not found in the repository."),
                       {group}),
                {}};

    std::optional<std::vector<RemoteFileInfo>> listed = session.listRemoteFiles(login + ".*");
    if (!listed)
        return {listingFailed(group), {}};
    std::vector<RemoteFileInfo> certificates;
    for (const auto& entry : *listed)
        if (isCertificateName(entry.name))
            certificates.push_back(entry);
    if (certificates.empty())
        return {noStudent(group, login), {}};
    if (certificates.size() > MaxRepositoryDirectories)
        return {Format(Pick("У учащегося с логином %s в группе %s в репозитории более %d "
                            "сертификатов.\r\nСообщите о данной проблеме преподавателю.",
                            "The student with login %s in group %s has more than %d certificates "
                            "in the repository.\r\nReport this issue to the teacher."),
                       {login, group, static_cast<long long>(MaxRepositoryDirectories)}),
                {}};
    std::optional<std::vector<RemoteFileInfo>> templates = session.listRemoteFiles("?.dir");
    if (!templates)
        return {listingFailed(group), {}};

    // Whatever cannot be read as it should be is named to the teacher: a
    // name that is not a plain file name or is listed twice, a download
    // that fails or differs from its listing, a certificate that the page
    // would not take, a template that gives no full path.
    RunDownloads downloads(files, session, p);
    std::vector<std::string> unreadable = caseDuplicates(certificates);
    const std::vector<std::string> ambiguousTemplates = caseDuplicates(*templates);
    std::vector<std::string> directories;
    for (const auto& certificate : certificates) {
        const std::string& name = certificate.name;
        if (std::find(unreadable.begin(), unreadable.end(), name) != unreadable.end())
            continue;
        if (!downloads.fetch(certificate, MaxCertificateBytes) ||
            ReadCertificateText(files, p, name).empty()) {
            unreadable.push_back(name);
            continue;
        }
        const std::string templateName = std::string(1, name.back()) + ".dir";
        auto listedTemplate =
            std::find_if(templates->begin(), templates->end(), [&](const RemoteFileInfo& file) {
                return text::equalsIgnoreCase(file.name, templateName);
            });
        std::optional<std::string> directory;
        if (listedTemplate != templates->end() &&
            std::find(ambiguousTemplates.begin(), ambiguousTemplates.end(), listedTemplate->name) ==
                ambiguousTemplates.end() &&
            downloads.fetch(*listedTemplate, MaxTemplateBytes)) {
            std::string line = downloads.firstLine(listedTemplate->name);
            if (!line.empty())
                directory = ExpandDirTemplate(line, {userProfile, group, login, name.back()});
        }
        if (directory)
            directories.push_back(*directory);
        else
            unreadable.push_back(templateName);
    }
    if (!unreadable.empty())
        return listedFailure("Из репозитория не удалось прочесть следующие файлы: %s.\r\n"
                             "Сообщите о данной проблеме преподавателю.",
                             "The following files could not be read from the repository: %s.\r\n"
                             "Report this issue to the teacher.",
                             unreadable);
    opened.session.reset();

    std::vector<std::string> failed;
    for (const auto& directory : directories)
        if (!files.directoryExists(directory) && !files.createDirectories(directory))
            failed.push_back(directory);
    if (!failed.empty())
        return listedFailure("Не удалось создать следующие каталоги: %s.\r\n"
                             "Сообщите о данной проблеме преподавателю.",
                             "Failed to create the following directories: %s.\r\n"
                             "Report this issue to the teacher.",
                             failed);

    // A folder left without its certificate is no working directory of the
    // repository: it is reported.
    std::vector<std::string> uncertified;
    for (std::size_t k = 0; k < directories.size(); ++k) {
        std::string folder = directories[k] + "\\";
        if (!files.copyFile(downloads.path(certificates[k].name), folder + "access.dat", false))
            uncertified.push_back(directories[k]);
        for (const char* link : Links)
            files.copyFile(std::string(TemplateFolder) + link, folder + link, false);
    }
    if (!uncertified.empty())
        return listedFailure("Не удалось поместить сертификат в следующие каталоги: %s.\r\n"
                             "Сообщите о данной проблеме преподавателю.",
                             "Failed to place the certificate in the following directories: %s.\r\n"
                             "Report this issue to the teacher.",
                             uncertified);
    return {{}, directories};
}

} // namespace qz
