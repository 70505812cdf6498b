#include "logdata/UserFiles.h"

#include <ostream>
#include <system_error>

#include "logdata/LogNames.h"

void UserFiles::addObserver(UserFilesObserver& observer) {
    const std::lock_guard lock(mutex_);
    observers_.push_back(&observer);
}

void UserFiles::removeObserver(UserFilesObserver& observer) {
    const std::lock_guard lock(mutex_);
    std::erase(observers_, &observer);
}

Outcome UserFiles::write(const UserFileTarget& target, const FileWriter& writer) {
    const int error = writeFileAtomically(target.path, writer);
    const Outcome outcome = error == 0 ? Outcome{OutcomeKind::Ok, target.path}
                                       : fileFailure(OutcomeKind::SaveFailed, target.path, error);
    tell({target.kind, target.path, {}, target.log, outcome});
    return outcome;
}

Outcome UserFiles::writeBytes(const UserFileTarget& target, std::string_view bytes) {
    return write(target, [bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    });
}

Outcome UserFiles::refuse(const UserFileTarget& target, int error) {
    const Outcome outcome = fileFailure(OutcomeKind::SaveFailed, target.path, error);
    tell({target.kind, target.path, {}, target.log, outcome});
    return outcome;
}

Outcome UserFiles::rename(const std::string& dir, const std::string& from, const std::string& to) {
    const std::string oldPath = dir + from;
    const Outcome outcome = renameLogFile(dir, from, to);
    tell({UserFileKind::Renamed, oldPath, dir + to, oldPath, outcome});
    return outcome;
}

Outcome UserFiles::remove(const std::string& dir, const std::string& name) {
    const std::string path = dir + name;
    const Outcome outcome = deleteLogFile(dir, name);
    tell({UserFileKind::Deleted, path, {}, path, outcome});
    return outcome;
}

void UserFiles::tell(const UserFileEvent& event) {
    const std::lock_guard lock(mutex_);
    const std::vector<UserFilesObserver*> told = observers_;
    for (UserFilesObserver* observer : told) observer->userFileDone(event);
}

UserFiles& userFiles() {
    static UserFiles door;
    return door;
}

Outcome fileFailure(OutcomeKind kind, const std::string& path, int error) {
    return {kind, path + ": " + std::generic_category().message(error), error};
}
