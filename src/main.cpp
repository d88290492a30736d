// The program igra: no arguments; runs in the game folder.
#include "src/igra.hpp"

int main() { return igra::главная(); }
