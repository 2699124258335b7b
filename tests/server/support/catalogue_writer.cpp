// Another program that uses a catalogue: opens the catalogue named by its one argument, adds a
// bundle named by its second and closes it. Exits with 0 when the bundle was written; otherwise
// says why on the error stream and exits with 1.
#include <iostream>

#include "server/catalogue/ktdb.h"
#include "server/database/errors.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: catalogue_writer <catalogue> <bundle name>\n";
        return 1;
    }
    try {
        kt::KTDB ktdb;
        ktdb.OpenDB(argv[1]);
        ktdb.GetNewBundle(argv[2]);
        ktdb.CloseDB();
    } catch (const kt::Error& error) {
        std::cerr << error.description() << "\n";
        return 1;
    }
    return 0;
}
