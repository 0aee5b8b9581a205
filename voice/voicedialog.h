// "Озвучить остановки…": chooses stops, voices and rate, speaks the batch off the GUI thread
// with progress and cancel, and attaches the files as one undo step.
#pragma once

#include "voicebatch.h"

#include <QDialog>

class QComboBox;
class RouteForm;

namespace Ui {
class VoiceDialog;
}

class VoiceDialog : public QDialog
{
    Q_OBJECT

public:
    explicit VoiceDialog(RouteForm *form, QWidget *parent = nullptr);
    ~VoiceDialog() override;

    // What the last batch did (tests, tools).
    const VoiceOutcome &outcome() const { return m_outcome; }

public slots:
    void accept() override;

private:
    VoiceSettings chosenSettings() const;
    VoicePlan::Request chosenRequest() const;
    void runBatch(const QVector<VoiceJob> &jobs, const VoiceSettings &settings);
    static void fillVoices(QComboBox *combo, const QString &chosen);

    Ui::VoiceDialog *ui;
    RouteForm *m_form;
    VoiceOutcome m_outcome;
};
