#pragma once

class QItemSelectionModel;

namespace tq {

class AddressBookModel;
class Prompter;

// Removes the rows selected in `selection` from the list and the store, asking first: once for
// several rows (No keeps them all), once for a single user, and for every group on its own,
// since a group takes its users with it. Afterwards a single removed row's place is selected
// (the first row when it was the last).
void removeSelectedRows(AddressBookModel &model, QItemSelectionModel &selection, Prompter &prompter);

} // namespace tq
