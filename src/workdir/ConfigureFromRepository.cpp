#include "workdir/ConfigureFromRepository.h"

#include "locale/Format.h"
#include "locale/Language.h"
#include "workdir/CertificateDecoder.h"
#include "workdir/DirTemplate.h"
#include "workdir/RemoteName.h"

#include <optional>

namespace qz {
namespace {

// The four shortcuts every working directory gets from the template folder.
const char* const TemplateFolder = "C:\\QZ4Work\\";
const char* const Links[] = {"Load.lnk", "Demo.lnk", "Results.lnk", "Panel.lnk"};

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

// The first line of a downloaded text file; empty when it cannot be read.
std::string firstLine(FileSystem& files, const std::string& path) {
    auto file = files.open(path, OpenMode::Read);
    if (!file)
        return {};
    std::string text(file->size(), '\0');
    text.resize(file->read(text.data(), text.size()));
    return text.substr(0, text.find_first_of("\r\n"));
}

std::string noStudent(const std::string& group, const std::string& login) {
    return Format(Pick("В группе %s отсутствует учащийся с логином %s.",
                       "Group %s has no student with login %s."),
                  {group, login});
}

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

    std::vector<RemoteFileInfo> listed = session.listRemoteFiles(login + ".*");
    if (listed.empty())
        return {noStudent(group, login), {}};
    std::vector<std::string> certificates;
    for (const auto& entry : listed)
        if (isCertificateName(entry.name))
            certificates.push_back(entry.name);
    if (certificates.empty())
        return {noStudent(group, login), {}};
    if (certificates.size() > MaxRepositoryDirectories)
        return {Format(Pick("У учащегося с логином %s в группе %s в репозитории более %d "
                            "сертификатов.\r\nСообщите о данной проблеме преподавателю.",
                            "The student with login %s in group %s has more than %d certificates "
                            "in the repository.\r\nReport this issue to the teacher."),
                       {login, group, static_cast<long long>(MaxRepositoryDirectories)}),
                {}};

    // A name that is not a plain file name is refused like an unreadable file,
    // and so is a template holding control characters.
    std::vector<std::string> unreadable;
    std::vector<std::string> directories;
    for (const auto& name : certificates) {
        if (!IsSafeRemoteName(name) || !session.downloadFile(name, p + name)) {
            unreadable.push_back(name);
            continue;
        }
        std::string templateName = std::string(1, name.back()) + ".dir";
        std::optional<std::string> directory;
        if (IsSafeRemoteName(templateName) &&
            session.downloadFile(templateName, p + templateName)) {
            std::string line = firstLine(files, p + templateName);
            files.deleteFile(p + templateName);
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
    // repository: it is reported, and the downloaded copy stays in P.
    std::vector<std::string> uncertified;
    for (std::size_t k = 0; k < directories.size(); ++k) {
        std::string folder = directories[k] + "\\";
        const bool placed = files.copyFile(p + certificates[k], folder + "access.dat", false);
        for (const char* link : Links)
            files.copyFile(std::string(TemplateFolder) + link, folder + link, false);
        if (placed)
            files.deleteFile(p + certificates[k]);
        else
            uncertified.push_back(directories[k]);
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
