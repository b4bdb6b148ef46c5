#pragma once

#include <QDialog>
#include <set>
#include <vector>

#include "link/SerialDevices.h"
#include "platform/TextSource.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace norda {

// "Port Eşleştirme": the machine's serial devices with the port numbers that open them;
// a number is given to the chosen device with a click, as a link in the ports folder to
// the adapter's name or its USB socket. Both programs show it; texts 3201-3217, the
// access hint 3220/3221.
class TPortAssignDlg : public QDialog {
    Q_OBJECT

  public:
    TPortAssignDlg(QWidget* parent, const TextSource& texts, int highestPort, int port,
                   SerialDeviceTree tree = {});

    // The numbers whose entry was written or removed: a program reopens those it uses.
    const std::set<int>& Changed() const { return changed_; }

    // The buttons' work: the chosen number to the selected device, or its entry removed.
    void Assign();
    void Remove();
    void SelectDevice(int row);

    QTableWidget* Table() const { return table_; }
    QSpinBox* Number() const { return number_; }
    QRadioButton* BySocket() const { return bySocket_; }
    QPushButton* AssignButton() const { return assign_; }
    QLabel* Hint() const { return hint_; }

  private:
    void Refresh();
    void UpdateButtons();
    std::string PortsDir() const;
    // After an entry was written (error 0) or could not be.
    void Written(int port, int error);

    const TextSource& texts_;
    SerialDeviceTree tree_;
    std::vector<SerialDevice> devices_;
    std::set<int> changed_;
    QTableWidget* table_ = nullptr;
    QSpinBox* number_ = nullptr;
    QRadioButton* byName_ = nullptr;
    QRadioButton* bySocket_ = nullptr;
    QPushButton* assign_ = nullptr;
    QPushButton* remove_ = nullptr;
    QLabel* hint_ = nullptr;
};

// The device behind port `port` for a menu item: the device and the adapter's name, the
// lost adapter's name with text 3209, or nothing when the number opens no device.
std::string PortMenuDevice(const TextSource& texts, const std::vector<SerialDevice>& devices,
                           int port);

}  // namespace norda
