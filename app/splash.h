#pragma once

#include <QWidget>

// The window shown while the program comes up: icon, title and version.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(QWidget *parent = nullptr);
};
