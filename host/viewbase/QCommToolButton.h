#pragma once

#include <QToolButton>

// A tool button of the host's tool bars: an icon above an optional title.
class QCommToolButton : public QToolButton
{
    Q_OBJECT
public:
    explicit QCommToolButton(QWidget* parent = nullptr);

    // 0: icon only; 1: icon with the title beside it; 2: icon with the title below it.
    void setBtnType(int type);
    int btnType() const { return m_type; }
    void setTitle(const QString& title);
    // The tool tip is the text of a translation key, in the present language whenever it changes.
    void setToolTipKey(const char* key);
    void setImgPath(const QString& path);
    QString imgPath() const { return m_imgPath; }

protected:
    void changeEvent(QEvent* event) override;

private:
    int m_type = 0;
    QString m_imgPath;
    QByteArray m_toolTipKey;
};
