#pragma once

// File > "Radio History…": the radios the bench has touched, a search, a radio's timeline,
// its customer and note, and what can be done with an event's image or report.

#include "radioevent.h"
#include "sqldatabase.h"

#include <QDialog>

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class HistoryStore;

// Puts a stored image into the editor as a new unnamed file (after the save question);
// false when the bytes are not a whole image or the user cancelled.
bool OpenHistoryImage(const std::vector<std::uint8_t> &bytes);
// Lists, field by field, where the newer event's image differs from the older one's.
void CompareHistoryImages(const RadioEvent &older, const std::vector<std::uint8_t> &first,
                          const RadioEvent &newer, const std::vector<std::uint8_t> &second);

class HistoryWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HistoryWindow(QWidget *parent = nullptr);
    ~HistoryWindow() override;

    // Connects anew and lists the radios matching the search text.
    void Search();
    void ShowRadio(int row);

private:
    std::vector<RadioEvent> SelectedEvents() const;
    std::optional<std::vector<std::uint8_t>> ImageOf(const RadioEvent &event);
    bool Connected();
    void UpdateButtons();
    void SaveNote();
    void OpenImage();
    void Compare();
    void SaveImage();
    void OpenReport();

    std::unique_ptr<SqlConnector> m_connector;
    std::unique_ptr<SqlDatabase> m_db;
    std::unique_ptr<HistoryStore> m_store;
    std::vector<RadioSummary> m_radios;
    std::vector<RadioEvent> m_events;
    QLabel *m_where = nullptr;
    QLineEdit *m_search = nullptr;
    QTableWidget *m_radioGrid = nullptr;
    QTableWidget *m_timeline = nullptr;
    QLineEdit *m_customer = nullptr;
    QLineEdit *m_note = nullptr;
    QPushButton *m_saveNote = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_compare = nullptr;
    QPushButton *m_saveImage = nullptr;
    QPushButton *m_report = nullptr;
};

void ShowHistoryWindow(QWidget *parent);
