#include "savechangesprompt.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

SaveChangesAnswer askToSaveChanges(QWidget *parent, const QString &text, const QString &which)
{
    auto tr = [](const char *s) { return QCoreApplication::translate("SaveChangesPrompt", s); };
    QMessageBox box(QMessageBox::Warning, tr("Сохранение изменений"), text, QMessageBox::NoButton,
                    parent);
    box.setInformativeText(which);
    QPushButton *save = box.addButton(tr("Сохранить"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(tr("Не сохранять"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(tr("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChangesAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveChangesAnswer::Discard;
    return SaveChangesAnswer::Cancel;
}
