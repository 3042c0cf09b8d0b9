// The Qt port's file panels and workspace.
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

#include "ui/qt_port.h"
#include "ui/qt_port_internal.h"

namespace ui {
namespace {

std::optional<std::string> chosenPath(QFileDialog& panel) {
    if (panel.exec() != QDialog::Accepted || panel.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return stdText(panel.selectedFiles().front());
}

}  // namespace

std::optional<std::string> QtPort::runSavePanel(std::string_view folder,
                                                std::string_view proposedName) {
    requireGuiThread("runSavePanel");
    QFileDialog panel(windowWidget(keyWindow()));
    panel.setObjectName(QStringLiteral("savePanel"));
    panel.setAcceptMode(QFileDialog::AcceptSave);
    panel.setFileMode(QFileDialog::AnyFile);
    panel.setDirectory(qText(folder));
    panel.selectFile(qText(proposedName));
    return chosenPath(panel);
}

std::optional<std::string> QtPort::runOpenPanel(std::string_view folder) {
    requireGuiThread("runOpenPanel");
    QFileDialog panel(windowWidget(keyWindow()));
    panel.setObjectName(QStringLiteral("openPanel"));
    panel.setAcceptMode(QFileDialog::AcceptOpen);
    panel.setFileMode(QFileDialog::ExistingFile);
    panel.setDirectory(qText(folder));
    return chosenPath(panel);
}

bool QtPort::openFile(std::string_view path) {
    requireGuiThread("openFile");
    const QString file = qText(path);
    return QFileInfo::exists(file) && QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

bool QtPort::openHelp(std::string_view page) {
    requireGuiThread("openHelp");
    const QUrl url = QUrl::fromUserInput(qText(page));
    return url.isLocalFile() ? openFile(stdText(url.toLocalFile()))
                             : QDesktopServices::openUrl(url);
}

}  // namespace ui
