[Matrix of discordance]
        	a1      	b       	c       	
a1      	0       	*       	*       	
b       	0       	0       	0       	
c       	1       	*       	0       	

[price]
        	a1      	b       	c       	
a1      	0       	0       	0       	
b       	0       	0       	0       	
c       	1       	0       	0       	

[quality]
        	a1      	b       	c       	
a1      	0       	0       	0       	
b       	0       	0       	0       	
c       	0       	0       	0       	

