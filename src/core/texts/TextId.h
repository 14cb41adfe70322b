#pragma once

namespace quorvan {

// Numbers of the texts this program added to the controller's table (which keeps its 0..225). They run from
// 1000 without gaps; each has an English and a simplified Chinese wording in TextTableData.cpp.
struct TextId {
    enum : int {
        First = 1000,
        ImportIncomplete = First, // lead line of the warning that lists files an import could not bring in
        ChangesNotSaved,          // lead line of the warning after a failed save
        UnsavedEntry,             // question before leaving an entry with unsaved changes
        SaveButton,
        DiscardButton,
        CancelButton,
        Documents, // accessible names from here on
        TimingEntries,
        Songs,
        PlayPosition,
        Volume,
        EntriesToCopy,
        WhereToCopy,
        UndoButton, // the undo history from here on
        RedoButton,
        UndoTip,
        RedoTip,
        NothingToUndo,
        NothingToRedo,
        UndoFailed,
        RedoFailed,
        StepAddEntry,
        StepChangeEntry,
        StepDeleteEntry,
        StepSavePreset,
        StepClearPreset,
        StepCopy,
        StepImport,
        StepRestore,
        DamagedFile, // backups and restore from here on
        BackupFailed,
        RestoreMenu,
        RestoreTitle,
        KeptAt,
        EntriesColumn,
        FirstStarts,
        SizeColumn,
        NoteColumn,
        MarkDamaged,
        MarkImport,
        RestoreButton,
        WholeImport,
        NoVersions,
        PreviewHeading,
        ClashWith, // clashes and the week view from here on
        OneClash,
        ClashCount,
        NewClash,
        PastMidnight,
        ContinuedFrom,
        ListView,
        WeekView,
        PrintButton,
        WeekTitle,
        TransferCopying, // the card workflow from here on
        TransferCancelled,
        Transferred,
        NotTransferred,
        MissingSongs,
        MoreMissingSongs,
        ReportButton,
        ReportTitle,
        SaveAsPdf,
        SaveAsCsv,
        FmColumn,
        SongsColumn,
        PdfFiles,
        CsvFiles,
        ReportNotSaved,
        CloseButton,
        OpenPlaylist, // desktop conveniences from here on
        SavePlaylist,
        PlaylistFiles,
        PlaylistNotSaved,
        PlaylistNotOpened,
        SongFileMissing,
        DuplicateEntry,
        FileChangedOutside, // files other programs touch, from here on
        ReloadButton,
        OverwriteButton,
        FileUnreadable,
        ReplaceUnreadable,
        ReplaceButton,
        HomeInUse,
        SettingsUnreadable,
        TransferCopyingFiles,
        DamagedFirstSave, // Step 16 from here on
        SaveAnyway,
        UndoDiscardsEdits,
        RedoDiscardsEdits,
        DiscardAndUndo,
        DiscardAndRedo,
        CheckingCardSongs,
        SameAsNow,
        KeepingVersions,
        ShowWholeList,
        CopyButton,
        SaveAsText,
        TextFiles,
        ListNotSaved,
        Undoing,
        Redoing,
        RestoringVersions,
        PageOfPages,
        PageCount,
        LayingOutPages,
        PrintingPage,
        End
    };
};

} // namespace quorvan
