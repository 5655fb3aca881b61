// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard shortcuts of the window. They belong to the window and not to the menu items, so the
// menus show their captions alone, as they always have.
#include "ui/TMainForm.h"

#include <QKeySequence>
#include <QShortcut>
#include <QToolButton>

#include <functional>

namespace zorvikta {

void TMainForm::buildShortcuts()
{
    struct Shortcut {
        QKeySequence::StandardKey standard; // the desktop's key for the command, if it has one
        QKeySequence fallback;
        std::function<void()> command;
    };
    const Shortcut shortcuts[] = {
        {QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N), [this] { SpeedButtonNewClick(); }},
        {QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O),
         [this] { SpeedButtonOpenClick(); }},
        {QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S),
         [this] { SpeedButtonSaveClick(); }},
        {QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         [this] { SpeedButtonSaveASClick(); }},
        {QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { itemCloseClick(); }},
        // Undo is there only while its button is: with no snapshot it would bring back zeros.
        {QKeySequence::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z),
         [this] {
             if (m_speedButtonUndo->isEnabled())
                 SpeedButtonUndoClick();
         }},
        {QKeySequence::UnknownKey, QKeySequence(Qt::Key_F5),
         [this] { m_speedButtonPlay->click(); }},
        {QKeySequence::HelpContents, QKeySequence(Qt::Key_F1), [this] { ItemHelpClick(); }},
    };
    for (const Shortcut& entry : shortcuts) {
        QList<QKeySequence> keys = QKeySequence::keyBindings(entry.standard);
        if (keys.isEmpty())
            keys = {entry.fallback};
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(keys);
        connect(shortcut, &QShortcut::activated, this, entry.command);
    }
}

} // namespace zorvikta
