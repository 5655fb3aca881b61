// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/LinkError.h"

#include <QStringList>

namespace zorvikta {

namespace {

// Longer names lose their middle: a name of any length (a settings line edited by hand) must not
// make the warning box wider than the screen or slow to lay out.
constexpr qsizetype kShownNameLength = 120;

QString shownName(const QString& deviceName)
{
    if (deviceName.size() <= kShownNameLength)
        return deviceName;
    const qsizetype half = kShownNameLength / 2;
    return deviceName.left(half) + u'…' + deviceName.right(half - 1);
}

QString stageSentence(LinkError::Stage stage, const QString& name)
{
    const QString deviceName = shownName(name);
    switch (stage) {
    case LinkError::Stage::Open:
        return QStringLiteral("Не удалось открыть устройство «%1».").arg(deviceName);
    case LinkError::Stage::Configure:
        return QStringLiteral("Не удалось настроить устройство «%1» на 1200 бод, 8 бит данных, "
                              "без чётности, 1 стоповый бит.")
            .arg(deviceName);
    case LinkError::Stage::Write:
        return QStringLiteral("Данные не дошли до устройства «%1» полностью: передача прервана.")
            .arg(deviceName);
    }
    return {};
}

QString causeSentence(LinkError::Cause cause)
{
    switch (cause) {
    case LinkError::Cause::NotFound:
        return QStringLiteral(
            "Такого устройства нет: проверьте, что оно подключено и что имя указано верно.");
    case LinkError::Cause::Permission:
        return QStringLiteral(
            "Нет прав на доступ к устройству. Возможно, пользователя нужно добавить в группу, "
            "которой принадлежит устройство (в Debian это группа dialout), и затем войти в "
            "систему заново.");
    case LinkError::Cause::Busy:
        return QStringLiteral("Порт занят другой программой: закройте её и повторите передачу.");
    case LinkError::Cause::NameTooLong:
        return QStringLiteral(
            "Имя устройства слишком длинное для системы: проверьте, что оно указано верно.");
    case LinkError::Cause::Other:
        return {};
    }
    return {};
}

} // namespace

QString describeLinkError(const LinkError& error)
{
    QStringList sentences{stageSentence(error.stage, error.deviceName)};

    QString said = error.systemMessage.trimmed();
    while (said.endsWith(u'.'))
        said.chop(1);
    if (!said.isEmpty())
        sentences << QStringLiteral("Система сообщила: %1.").arg(said);

    const QString advice = causeSentence(error.cause);
    if (!advice.isEmpty())
        sentences << advice;

    return sentences.join(u' ');
}

} // namespace zorvikta
