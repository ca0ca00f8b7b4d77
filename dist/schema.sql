-- The empty entry database shipped as default.mdb. Text days and times keep
-- their exact forms ("yyyy/mm/dd", "yyyy/mm/dd hh:nn:ss"): readers select a
-- month with a range on the day text. Yes/No columns are 0/1.
CREATE TABLE Contents (
    Day         TEXT NOT NULL DEFAULT '',
    Number      INTEGER NOT NULL DEFAULT 1,
    Title       TEXT DEFAULT '',
    Contents    TEXT DEFAULT '',
    Extend      TEXT DEFAULT '',
    Excerpt     TEXT DEFAULT '',
    Weather     TEXT DEFAULT '',
    Genre       TEXT DEFAULT '',
    PublishTime TEXT DEFAULT '',
    Private     INTEGER NOT NULL DEFAULT 0,
    TrackBack   TEXT DEFAULT '',
    ImportMark  TEXT DEFAULT ''
);
CREATE INDEX ContentsDay ON Contents (Day, Number);

CREATE TABLE FileDB (
    FileID   INTEGER PRIMARY KEY AUTOINCREMENT,
    FileName TEXT DEFAULT '',
    Day      TEXT DEFAULT '',
    Number   INTEGER DEFAULT 0,
    Uploaded INTEGER NOT NULL DEFAULT 0,
    Logged   INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX FileDBDay ON FileDB (Day);

CREATE TABLE LogDB (
    LogMonth    TEXT DEFAULT '',
    LogFileName TEXT DEFAULT ''
);

CREATE TABLE Memo (
    RecordID    INTEGER PRIMARY KEY AUTOINCREMENT,
    No          INTEGER,
    PublishTime TEXT DEFAULT '',
    Title       TEXT DEFAULT '',
    Memo        TEXT DEFAULT '',
    Category    TEXT DEFAULT '',
    IsPass      INTEGER DEFAULT 0
);

CREATE TABLE DBInfo (
    VersionInfo INTEGER NOT NULL DEFAULT 230,
    IsMemoPass  INTEGER DEFAULT 0,
    IsPass      INTEGER DEFAULT 0
);
INSERT INTO DBInfo (VersionInfo, IsMemoPass, IsPass) VALUES (230, 0, 0);

-- The weather pictures are site-wide parts files: Save HTML copies them and
-- the upload sends them.
INSERT INTO FileDB (FileName, Day, Number, Uploaded, Logged) VALUES ('Shinny.gif', 'ALL', 0, 0, 0);
INSERT INTO FileDB (FileName, Day, Number, Uploaded, Logged) VALUES ('Cloudy.gif', 'ALL', 0, 0, 0);
INSERT INTO FileDB (FileName, Day, Number, Uploaded, Logged) VALUES ('Rainy.gif', 'ALL', 0, 0, 0);
INSERT INTO FileDB (FileName, Day, Number, Uploaded, Logged) VALUES ('Thunder.gif', 'ALL', 0, 0, 0);
INSERT INTO FileDB (FileName, Day, Number, Uploaded, Logged) VALUES ('Snowy.gif', 'ALL', 0, 0, 0);

-- The keyword search's index of every pair of neighbouring characters in the
-- entries' titles and bodies (platform/search_index builds the same for a
-- database that lacks it). Writing Contents never touches the index: the
-- triggers only note each changed row, with its texts from before the
-- change, in ContentsPairsLog, and the program brings ContentsPairs and
-- ContentsPairsRows up to date from the log before it searches. Every table
-- can be written by any SQLite client with nothing registered.
CREATE VIRTUAL TABLE ContentsPairs USING fts5(Title, Contents, content='', tokenize='ascii', detail='full', columnsize=0);
CREATE TABLE ContentsPairsRows (Row INTEGER PRIMARY KEY, Hash INTEGER NOT NULL);
CREATE TABLE ContentsPairsLog (Seq INTEGER PRIMARY KEY, Row INTEGER NOT NULL, HadRow INTEGER NOT NULL, OldTitle, OldContents);
CREATE TRIGGER ContentsPairsInsert AFTER INSERT ON Contents BEGIN
  INSERT INTO ContentsPairsLog (Row, HadRow) VALUES (new.rowid, 0);
END;
CREATE TRIGGER ContentsPairsDelete AFTER DELETE ON Contents BEGIN
  INSERT INTO ContentsPairsLog (Row, HadRow, OldTitle, OldContents) VALUES (old.rowid, 1, old.Title, old.Contents);
END;
CREATE TRIGGER ContentsPairsUpdate AFTER UPDATE ON Contents
WHEN old.rowid IS NOT new.rowid OR old.Title IS NOT new.Title OR old.Contents IS NOT new.Contents BEGIN
  INSERT INTO ContentsPairsLog (Row, HadRow, OldTitle, OldContents) VALUES (old.rowid, 1, old.Title, old.Contents);
  INSERT INTO ContentsPairsLog (Row, HadRow) SELECT new.rowid, 0 WHERE new.rowid IS NOT old.rowid;
END;
