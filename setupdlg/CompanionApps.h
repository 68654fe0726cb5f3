// The companion applications of the sound card, which must not run while their new version
// is installed. They are found by the titles of their top-level windows.
#pragma once

// The player suite: while it runs, it owns the three players below.
const char* const SoundDeckTitle = "SoundDeck";
// The players, looked for only when no SoundDeck window is there.
const char* const PlayerTitles[] = {"Disc Player", "Synth Player", "Track Player"};
// The mixer, always looked for last. Its window after the applications' setup has finished
// means that the user keeps working with the new applications.
const char* const LevelsTitle = "Levels";

// The pause after closing SoundDeck and again after the last companion application, so
// that the closed programs can end before their files are replaced.
const unsigned CompanionClosePauseMs = 500;

// Closes the running companion applications: SoundDeck (then a pause), or, when there is no
// SoundDeck window, each of the three players in the order above; then Levels; then a pause.
// Each is sent WM_CLOSE, once, at the first top-level window with its title, and has
// handled it when the send returns. A program that ignores WM_CLOSE keeps running.
void CloseCompanionApplications();

// Whether a top-level window titled Levels is there.
bool LevelsWindowOpen();
