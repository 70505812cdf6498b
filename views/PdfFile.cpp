#include "views/PdfFile.h"

#include <cerrno>

#include "logdata/UserFiles.h"

Outcome exportPdfFile(const std::string& path, std::string_view pdf, const std::string& log) {
    const UserFileTarget target{UserFileKind::PdfExport, path, log};
    if (pdf.empty()) return userFiles().refuse(target, ECANCELED);
    return userFiles().writeBytes(target, pdf);
}
