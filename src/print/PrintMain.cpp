// vantrel-print: the printed blank without the window, for batch printing and scripts.

#include "print/Print.h"

int main(int argc, char** argv) {
    return VantrelPrint(argc, argv);
}
