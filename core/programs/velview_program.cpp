#include "program.h"
#include "velview_catalogue.h"

const Program& velviewProgram()
{
    // The caption ends in a blank, as the program has always shown it.
    static const Program program{u"VelisaVer2 ", velviewCatalogue(), "Velview"};
    return program;
}
