#pragma once
#include <QString>

// Short audio files for the track list tests, made here: a WAV of silence written directly,
// the other kinds encoded from it by Debian's encoders, tags written by TagLib.
// A mono 16-bit WAV of the given length.
void writeWav(const QString& path, double seconds, int rate = 8000);
// Encodes wav into out, the kind chosen by out's extension (mp3, flac, ogg, opus, m4a, aiff;
// wav is a copy). False when the encoder failed.
bool encodeAudio(const QString& wav, const QString& out);
// Writes artist and title (either may be empty) into the file's tag.
bool tagAudio(const QString& path, const QString& artist, const QString& title);
