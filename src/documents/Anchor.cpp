int documentsAnchor = 0;
