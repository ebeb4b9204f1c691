/// \file
/// Tovik Audio 2: sound effects and music for Tovik2D 2 games, on SDL_mixer.
///
/// How to use: after T2D2_Inicia (the screen width is read for panning),
/// \code
///   TA2_Inicia();
///   unsigned int tiro = TA2_CarregaEfeito("tiro.wav");
///   unsigned int tema = TA2_CarregaMusica("tema.ogg");
///   TA2_TocaMusica(tema, -1);        // loop for ever
///   TA2_TocaEfeito(tiro, 0);         // centred; -100 left .. 100 right
///   ...
///   TA2_Encerra();
/// \endcode
///
/// Sounds live in fixed tables owned by the library and are named by an
/// identifier (slot + 1); 0 means none and is what every failed load returns.
/// Loading a loaded name counts one more holder and returns the same
/// identifier; each Remove gives one hold back. Names are file paths of at
/// most 2047 bytes, copied and compared byte for byte. Sounds load only while
/// the device is open. SDL_mixer mixes on its own thread; every call here runs
/// on the program's thread. Eight effects play at once, on SDL_mixer's eight
/// channels, beside one music track.
#ifndef T2D2_TOVIKAUDIO2_H
#define T2D2_TOVIKAUDIO2_H

#include <SDL.h>
#include <SDL_mixer.h>

/// Table sizes.
enum {
  TA2_MAXEFEITOS = 512, ///< effects loaded at once
  TA2_MAXMUSICAS = 8,   ///< music tracks loaded at once
  TA2_MAXAPELIDO = 2048 ///< bytes of a name, with its final zero
};

/// One entry of the library's effect table, which the library alone reads and
/// writes; programs see effects only through their identifiers.
struct TA2_Efeito {
  Sint32 usuarios;              ///< holders
  char apelido[TA2_MAXAPELIDO]; ///< the path given at load
  Sint32 tempo;                 ///< reserved
  Mix_Chunk *efeito;            ///< null marks a free slot
};

/// One entry of the library's music table, which the library alone reads and
/// writes; programs see tracks only through their identifiers.
struct TA2_Musica {
  Sint32 usuarios;              ///< holders
  char apelido[TA2_MAXAPELIDO]; ///< the path given at load
  Sint32 tempo;                 ///< reserved
  Mix_Music *musica;            ///< null marks a free slot
};

/// Opens the device at 44100 Hz, 16-bit stereo, empties both tables, sets both
/// volumes to 100 % and reads the screen width for TA2_TocaEfeitoTela.
/// \return true when open (also when it already was, changing nothing). False
/// when SDL audio was started by someone else (silently) or when SDL or the
/// mixer fails (with a message); the audio subsystem is then left closed.
///
/// A game can go on silently when it fails: loads then answer 0 with a
/// message, and playing identifier 0 does nothing. Called while the window
/// is not open (before T2D2_Inicia) it opens the device all the same and
/// prints a line that says to call T2D2_Inicia first: TA2_TocaEfeitoTela
/// then has no width to pan by.
/// \sa TA2_Encerra, T2D2_Inicia
bool TA2_Inicia();
/// Stops all sound, frees every effect and track whatever its count of
/// holders, and closes the device; every identifier held is then stale.
///
/// Does nothing when closed. T2D2_Encerra does not call it; a program that
/// ends without it has it called at exit, before the SDL libraries are
/// unloaded.
/// \sa TA2_Inicia
void TA2_Encerra();
/// Per-frame hook; does nothing.
void TA2_Sincroniza();
/// Sets the music and the effects volume in percent, clamped to 100.
/// \param musica the music volume.
/// \param efeitos the effects volume.
/// \return false, with a warning and the volumes unchanged, before
/// TA2_Inicia.
bool TA2_AjustaVolume(unsigned int musica, unsigned int efeitos);

/// Loads a WAV effect (whatever SDL_mixer decodes, checked whole first).
/// \param arquivo the file.
/// \return the effect's identifier; 0 on failure: device closed, file
/// missing, cut short or undecodable, or all 512 slots taken, each with a
/// message; the slot is left free.
///
/// The library owns the decoded sound until the last release.
/// \sa TA2_TocaEfeito, TA2_RemoveEfeito
unsigned int TA2_CarregaEfeito(const char *arquivo);
/// Gives up one hold; the last one frees the sound, cutting it off if it still
/// plays.
/// \param id the effect; 0 and ids above 512 are ignored.
void TA2_RemoveEfeito(unsigned int id);
/// Finds a loaded effect by its name.
/// \param apelido the path it was loaded under, compared byte for byte.
/// \return its identifier, or 0 (also for null).
///
/// Adds no holder.
unsigned int TA2_ProcuraEfeito(const char *apelido);
/// Plays an effect once on the first free mixer channel.
/// \param id the effect.
/// \param posicao pan position -100 (left) .. 100 (right), clamped.
/// \return the channel, 0 to 7; -1 when none of the eight is free (nothing
/// plays); 0 also for an id that holds no effect.
/// \sa TA2_TocaEfeitoTela
int TA2_TocaEfeito(unsigned int id, int posicao);
/// The same, with the pan taken from a screen column.
/// \param id the effect.
/// \param posicao the column: the left edge pans fully left, the middle
///        centres, the right edge pans fully right; columns off the screen
///        are clamped to it.
/// \return as TA2_TocaEfeito.
int TA2_TocaEfeitoTela(unsigned int id, int posicao);
/// Pauses every effect channel.
/// \sa TA2_ContinuaEfeitos
void TA2_PausaEfeitos();
/// Resumes every effect channel.
/// \sa TA2_PausaEfeitos
void TA2_ContinuaEfeitos();

/// Loads a music track (OGG, or whatever SDL_mixer plays, checked whole
/// first).
/// \param arquivo the file.
/// \return the track's identifier; 0 on failure: device closed, file missing,
/// cut short or undecodable, or all 8 slots taken, each with a message; the
/// slot is left free.
///
/// The library owns the track until the last release.
/// \sa TA2_TocaMusica, TA2_RemoveMusica
unsigned int TA2_CarregaMusica(const char *arquivo);
/// Gives up one hold; the last one frees the track, stopping it if it plays.
/// \param id the track; 0 and ids above 8 are ignored.
void TA2_RemoveMusica(unsigned int id);
/// Finds a loaded track by its name.
/// \param apelido the path it was loaded under, compared byte for byte.
/// \return its identifier, or 0 (also for null).
///
/// Adds no holder.
unsigned int TA2_ProcuraMusica(const char *apelido);
/// Plays a track, replacing whatever track was playing: the mixer has one
/// music stream.
/// \param id the track.
/// \param vezes times to play it; -1 (or less) loops for ever.
/// \return true when the mixer started the track; false for an id that holds
/// no track or a mixer failure.
bool TA2_TocaMusica(unsigned int id, int vezes);
/// Pauses the music stream.
/// \sa TA2_ContinuaMusica
void TA2_PausaMusica();
/// Resumes the music stream.
/// \sa TA2_PausaMusica
void TA2_ContinuaMusica();
/// Fades the playing track out, then stops it.
/// \param tempo milliseconds the fade lasts.
void TA2_FadeMusica(unsigned int tempo);

#endif
