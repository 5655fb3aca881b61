// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PortDevicesDialog.h"

#include "device/PortListing.h"
#include "ui/DesignLook.h"
#include "ui/ToolTipLines.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QStyle>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace zorvikta {

namespace {

// Quick enough that a device plugged in shows before the user looks again.
constexpr int kRefreshMs = 700;

const QStringList kColumns{QStringLiteral("Устройство"), QStringLiteral("Описание"),
                           QStringLiteral("Производитель"), QStringLiteral("Серийный номер")};

// What the user has in a field at one moment, so that refilling its list can give it back.
struct FieldState {
    QString text;
    int selectionStart;
    int selectionLength;
    int cursor;
    bool popupOpen;
    QString highlighted; // the device of the popup's current row

    explicit FieldState(const QComboBox& field)
        : text(field.currentText()), selectionStart(field.lineEdit()->selectionStart()),
          selectionLength(field.lineEdit()->selectionLength()),
          cursor(field.lineEdit()->cursorPosition()), popupOpen(field.view()->isVisible()),
          highlighted(field.view()->currentIndex().siblingAtColumn(0).data().toString())
    {}

    void restore(QComboBox& field) const
    {
        QLineEdit& edit = *field.lineEdit();
        edit.setText(text);
        if (selectionLength > 0) {
            // The cursor stays at whichever end of the selection it was.
            if (cursor == selectionStart)
                edit.setSelection(selectionStart + selectionLength, -selectionLength);
            else
                edit.setSelection(selectionStart, selectionLength);
        } else {
            edit.setCursorPosition(cursor);
        }
        if (!popupOpen)
            return;
        if (!field.view()->isVisible())
            field.showPopup();
        const QModelIndexList rows = field.model()->match(
            field.model()->index(0, 0), Qt::DisplayRole, highlighted, 1, Qt::MatchExactly);
        if (!rows.isEmpty())
            field.view()->setCurrentIndex(rows.constFirst());
    }
};

} // namespace

PortDevicesDialog::PortDevicesDialog(const SerialPortSource& ports, const PortDevices& current,
                                     const PortDevices& defaults, QWidget* parent)
    : QDialog(parent), m_ports(ports), m_present(ports.availablePorts()),
      m_listing(portListing(m_present))
{
    setObjectName(QStringLiteral("PortDevicesDialog"));
    giveDesignLook(*this);
    setWindowTitle(QStringLiteral("Устройства портов"));
    auto* grid = new QGridLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Выберите подключённое устройство или введите путь к нему."), this);
    intro->setToolTip(QStringLiteral("Пустое поле возвращает порту устройство по умолчанию"));
    grid->addWidget(intro, 0, 0, 1, 3);
    m_com1 = addRow(1, QStringLiteral("COM 1"), current.com1, defaults.com1);
    m_com2 = addRow(2, QStringLiteral("COM 2"), current.com2, defaults.com2);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    m_ok = ok;
    ok->setText(QStringLiteral("OK"));
    ok->setToolTip(QStringLiteral("Назначить устройства обоим портам и записать настройки"));
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setText(QStringLiteral("Отмена"));
    cancel->setToolTip(QStringLiteral("Закрыть, ничего не меняя"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 3);
    m_com1.field->setFocus();

    m_refresh = new QTimer(this);
    m_refresh->setInterval(kRefreshMs);
    connect(m_refresh, &QTimer::timeout, this, &PortDevicesDialog::refreshPorts);
    m_refresh->start();
}

PortDevicesDialog::Row PortDevicesDialog::addRow(int row, const QString& port,
                                                 const QString& current, const QString& fallback)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* label = new QLabel(port, this);
    label->setToolTip(QStringLiteral("Порт «соединить с %1» меню «СОМ Порт»").arg(port));
    auto* field = new QComboBox(this);
    field->setObjectName(QStringLiteral("ComboBox") + QString(port).remove(u' '));
    field->setEditable(true);
    field->setInsertPolicy(QComboBox::NoInsert);
    field->setMinimumContentsLength(36);
    field->setToolTip(QStringLiteral("Устройство для %1: выберите из списка подключённых или "
                                     "введите путь; пустое поле означает %2")
                          .arg(port, fallback));
    field->lineEdit()->setPlaceholderText(fallback);
    // The list shows every detail in columns; the field takes the path alone.
    auto* view = new QTreeView(field);
    view->setRootIsDecorated(false);
    view->setAllColumnsShowFocus(true);
    view->header()->setStretchLastSection(false);
    // A by-id name can be longer than the screen is wide; its two ends tell devices apart.
    view->setTextElideMode(Qt::ElideMiddle);
    field->setView(view);
    field->setModel(new QStandardItemModel(field));
    fillList(field);
    field->setEditText(current);
    auto* state = new QLabel(this);
    state->setObjectName(QStringLiteral("LabelState") + QString(port).remove(u' '));
    state->setToolTip(QStringLiteral("Такого устройства сейчас нет; выбор всё равно сохранится и "
                                     "подействует, когда оно появится"));
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    grid->addWidget(state, row, 2);
    const Row made{field, state, fallback, current};
    showState(made);
    connect(field, &QComboBox::editTextChanged, this, [this, made] { showState(made); });
    return made;
}

void PortDevicesDialog::fillList(QComboBox* field)
{
    auto* model = static_cast<QStandardItemModel*>(field->model());
    model->clear();
    model->setHorizontalHeaderLabels(kColumns);
    for (const QStringList& row : m_listing) {
        QList<QStandardItem*> items;
        for (const QString& text : row) {
            auto* item = new QStandardItem(text);
            item->setToolTip(toolTipLines(portListingLine(row).replace(u'\t', QStringLiteral(", ")),
                                          field->screen()));
            items.append(item);
        }
        model->appendRow(items);
    }
    auto* view = static_cast<QTreeView*>(field->view());
    int width = 4 * view->frameWidth();
    for (int column = 0; column < kColumns.size(); ++column) {
        view->resizeColumnToContents(column);
        width += view->columnWidth(column);
    }
    // The popup, its own frame included, stays on the screen: the device column gives up what
    // does not fit.
    if (const QScreen* screen = field->screen()) {
        const int popupFrame = 2 * field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        const int excess = width + popupFrame - screen->availableGeometry().width();
        if (excess > 0) {
            view->setColumnWidth(0, std::max(view->columnWidth(0) - excess, 0));
            width -= excess;
        }
    }
    view->setMinimumWidth(width);
}

void PortDevicesDialog::showState(const Row& row)
{
    const QString path = row.field->currentText().trimmed();
    // A bare name such as "ttyS0" is looked for where the link will open it.
    const QString device = platform::serialDevicePath(path);
    const bool present = path.isEmpty() || findPort(m_present, path) ||
                         findPort(m_present, device) || QFileInfo::exists(device);
    row.state->setText(!keepable(row) ? QStringLiteral("путь не может содержать перевод строки")
                       : present ? QString()
                                 : QStringLiteral("сейчас не подключено"));
    if (m_ok)
        m_ok->setEnabled(keepable(m_com1) && keepable(m_com2));
}

// A path typed with a line break could not be kept in the settings; a value the file already
// holds stays as it is, whatever it holds.
bool PortDevicesDialog::keepable(const Row& row)
{
    const QString path = row.field->currentText();
    return path == row.given || fitsOnSettingsLine(path);
}

void PortDevicesDialog::refreshPorts()
{
    QList<SerialPortEntry> present = m_ports.availablePorts();
    if (present == m_present)
        return;
    m_present = std::move(present);
    m_listing = portListing(m_present);
    for (const Row& row : {m_com1, m_com2}) {
        // Refilling the list must not take away what the user is typing or looking at.
        const FieldState state(*row.field);
        row.field->blockSignals(true);
        fillList(row.field);
        state.restore(*row.field);
        row.field->blockSignals(false);
        showState(row);
    }
}

PortDevices PortDevicesDialog::chosen() const
{
    const auto pathOf = [](const Row& row) {
        const QString path = row.field->currentText().trimmed();
        return path.isEmpty() ? row.fallback : path;
    };
    return {pathOf(m_com1), pathOf(m_com2)};
}

} // namespace zorvikta
