#include "deliverable.h"
#include "qelview_catalogue.h"

const Deliverable& qelviewDeliverable()
{
    static const Deliverable deliverable{u"Qel式Velisa", qelviewCatalogue(),
                                         ":/qelview/built-in-picture.jpg",
                                         ":/qelview/window-icon.ico", "Qelview"};
    return deliverable;
}
