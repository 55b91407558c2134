// vantrel: the window.

#include "app/Vantrel.h"

int main(int argc, char** argv) {
    return Vantrel(argc, argv);
}
