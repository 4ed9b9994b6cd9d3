#pragma once
// The studio's growth beside its games: the "Study And Tools" panel, the Company Details
// panel's knowledge lists, the "Preview Feedback" panel and the porting dialog, wired to the
// Development panel's "Latest Preview" button and porting link.
class TMainWindow;
class TPortDialog;

// Makes the panels and the dialog and puts the panels in place of the ones their links open.
// The porting dialog is returned; the window owns it.
TPortDialog* InstallStudyPanels(TMainWindow& window);
