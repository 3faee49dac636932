"""A speech server for the Orca screen reader that makes no sound. Orca writes every
utterance to its debug log (SPEECH OUTPUT) before it hands it to a server, so a test reads
what Orca says from the log without a sound device or speech daemon, which can block Orca."""

from orca import speechserver


class SpeechServer(speechserver.SpeechServer):
    _server = None

    @staticmethod
    def getFactoryName():
        return "Log only"

    @staticmethod
    def getSpeechServers():
        return [SpeechServer.getSpeechServer()]

    @staticmethod
    def getSpeechServer(info=None):
        if SpeechServer._server is None:
            SpeechServer._server = SpeechServer()
        return SpeechServer._server

    @staticmethod
    def shutdownActiveServers():
        SpeechServer._server = None

    def getInfo(self):
        return ["Log only", "log-only"]

    def getVoiceFamilies(self):
        return []
