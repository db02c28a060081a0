#include "program.h"
#include "qelview_catalogue.h"

const Program& qelviewProgram()
{
    static const Program program{u"Qel式Velisa", qelviewCatalogue(), "Qelview"};
    return program;
}
