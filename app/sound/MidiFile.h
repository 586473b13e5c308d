#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The bytes of a Standard MIDI File, if the file can be read and is one: a header chunk, and as
// many complete track chunks as it announces, each closed by its end-of-track event.
std::optional<QByteArray> readMidiFile(const QString& path, QString& error);
bool isMidiFile(const QByteArray& bytes);
