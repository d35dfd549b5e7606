#pragma once
// Temporary stand-ins for the screens, artwork and round that are still being built; each goes
// away when the real one lands.

void playRound(int mode);
