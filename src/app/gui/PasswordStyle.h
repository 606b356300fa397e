#pragma once

#include <QProxyStyle>

// The style of the password box: the program's style, but typed characters
// are echoed as "*" (most styles draw dots).
class PasswordStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit PasswordStyle(const QString& baseStyle) : QProxyStyle(baseStyle) {}

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
