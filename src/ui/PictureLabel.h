#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

class QLabel;

// Shows a still picture in Label, decoded by Decoder (any decoder when empty); the picture's
// size, or an empty size when it cannot be decoded.
QSize ShowPicture(QLabel* label, const QString& file, const QByteArray& decoder = {});

// Plays an animation in Label on and on, whatever loop count it asks for; its size, or an empty
// size when it cannot be decoded.
QSize PlayAnimation(QLabel* label, const QString& file, const QByteArray& decoder = {});
