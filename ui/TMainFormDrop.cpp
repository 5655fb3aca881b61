// SPDX-License-Identifier: GPL-3.0-or-later
// A run file dropped on the window opens as Open opens it; nothing else is taken.
#include "ui/TMainForm.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <optional>

namespace zorvikta {

namespace {

// One local file named *.zvk, in any case, as the open dialog's filter would show it.
std::optional<QString> droppedRunFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return std::nullopt;
    const QString name = urls.front().toLocalFile();
    if (QFileInfo(name).suffix().compare(QStringLiteral("zvk"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return name;
}

// Only ever as a copy: a move would have the file manager delete the file it gave us.
std::optional<QString> acceptRunFile(QDropEvent& event)
{
    std::optional<QString> name = droppedRunFile(event.mimeData());
    if (!name || !event.possibleActions().testFlag(Qt::CopyAction)) {
        event.ignore();
        return std::nullopt;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return name;
}

} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    acceptRunFile(*event);
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event)
{
    acceptRunFile(*event);
}

// The file manager waits until the drop returns, so a warning box about the file must come
// after it.
void TMainForm::dropEvent(QDropEvent* event)
{
    if (const std::optional<QString> name = acceptRunFile(*event))
        QMetaObject::invokeMethod(
            this, [this, fileName = *name] { openRunFile(fileName); }, Qt::QueuedConnection);
}

} // namespace zorvikta
