// The document's file commands: Save, Save As and Open.
#include <filesystem>

#include "document/CORVDoc.h"
#include "document/DocumentFile.h"

namespace {

constexpr const char* kDocumentFilter = "Vistrel 1.3 (*.ovx)|*.ovx|All Files (*.*)|*.*||";
constexpr const char* kDocumentExtension = "ovx";

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

bool CORVDoc::TransferDocumentFile(TransferDirection direction, const std::string& path) {
    if (path.empty()) {
        return true;
    }
    const DocumentFileResult result = direction == TransferDirection::Write
                                          ? SaveDocumentFile(*this, path)
                                          : LoadDocumentFile(*this, path);
    return result.ok;
}

void CORVDoc::OnFileSave() {
    if (m_documentPath.empty()) {
        OnFileSaveAs();
        return;
    }
    WaitCursor wait(*m_ui);
    const DocumentFileResult result = SaveDocumentFile(*this, m_documentPath);
    if (!result.ok) {
        m_ui->message(result.message);
    }
}

void CORVDoc::OnFileSaveAs() {
    const auto path = m_ui->chooseSaveFile(kDocumentFilter, kDocumentExtension, m_documentPath);
    if (!path) {
        return;
    }
    DocumentFileResult result;
    {
        WaitCursor wait(*m_ui);
        result = SaveDocumentFile(*this, *path);
    }
    if (!result.ok) {
        m_ui->message(result.message);
        return;
    }
    m_documentPath = *path;
    SetTitle(FileNameOf(*path));
    m_ui->addRecentFile(*path);
}

void CORVDoc::OnFileOpen() {
    if (const auto path = m_ui->chooseOpenFile(kDocumentFilter, kDocumentExtension)) {
        OpenDocument(*path);
    }
}

bool CORVDoc::OpenDocument(const std::string& path) {
    DocumentFileResult result;
    {
        WaitCursor wait(*m_ui);
        result = LoadDocumentFile(*this, path);
    }
    if (!result.ok) {
        m_ui->message(result.message);
        return false;
    }
    m_ui->redrawAll();
    SetTitle(FileNameOf(path));
    m_documentPath = path;
    m_ui->addRecentFile(path);
    return true;
}
