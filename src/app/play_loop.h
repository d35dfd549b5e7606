#pragma once
// The play loop: scores in, title, round and game over until quit, scores out.

void runPlayLoop();
