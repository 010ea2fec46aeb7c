// The texts the backends draw themselves (buttons, the file browser, the splash's list of
// recent titles), in the player's language. The runtime fills them from its string table; the
// defaults are the Greek ones a run without a language choice shows. All UTF-8.
#pragma once

#include <string>

namespace zd::platform {

struct UiTexts {
  // Buttons of message boxes and dialogs.
  std::string ok = "OK";
  std::string yes = "Ναι";
  std::string no = "Όχι";
  std::string cancel = "Άκυρο";
  // The file browser: its captions when the caller gives none, its buttons and labels, and
  // what it says when a name cannot be taken.
  std::string openCaption = "Άνοιγμα";
  std::string saveCaption = "Αποθήκευση ως";
  std::string openButton = "Άνοιγμα";
  std::string saveButton = "Αποθήκευση";
  std::string folderLabel = "Φάκελος:";
  std::string fileNameLabel = "Όνομα αρχείου:";
  std::string fileTypeLabel = "Τύπος αρχείων:";
  std::string noSuchFile = "Το αρχείο \"%s\" δεν βρέθηκε.";     // %s: the file's name
  std::string noSuchFolder = "Ο φάκελος \"%s\" δεν υπάρχει.";   // %s: the folder's path
  // The print dialog and the page-setup dialog.
  std::string printCaption = "Εκτύπωση";
  std::string printerLabel = "Εκτυπωτής:";
  std::string copiesLabel = "Αντίγραφα:";
  std::string rangeLabel = "Σελίδες";
  std::string allPages = "Όλες";
  std::string pagesFrom = "Από:";
  std::string pagesTo = "Έως:";
  std::string paperLabel = "Χαρτί:";
  std::string orientationLabel = "Προσανατολισμός";
  std::string portrait = "Κατακόρυφος";
  std::string landscape = "Οριζόντιος";
  std::string pageSetupButton = "Διαμόρφωση σελίδας...";
  std::string pageSetupCaption = "Διαμόρφωση σελίδας";
  std::string marginsLabel = "Περιθώρια (mm)";
  std::string marginLeft = "Αριστερά:";
  std::string marginRight = "Δεξιά:";
  std::string marginTop = "Επάνω:";
  std::string marginBottom = "Κάτω:";
};

}  // namespace zd::platform
